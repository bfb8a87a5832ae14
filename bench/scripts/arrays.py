a = {}
j = 0
while j < 50:
    k = 0
    while k < 4000:
        a[(j * 37 + k) % 4000] = j + k
        k = k + 1
    j = j + 1
total = 0
j = 0
while j < 50:
    k = 0
    while k < 4000:
        total = total + a[(j * 37 + k) % 4000]
        k = k + 1
    j = j + 1
print(total)
