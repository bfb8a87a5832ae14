with open("bench-lines.txt", "w") as f:
    i = 0
    while i < 100000:
        f.write("line " + str(i) + "\n")
        i = i + 1
total = 0
with open("bench-lines.txt") as f:
    for line in f:
        total = total + len(line) - 1
print(total)
