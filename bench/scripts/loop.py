i = 0
total = 0
while i < 1000000:
    i = i + 1
    total = total + i % 7
print(total)
