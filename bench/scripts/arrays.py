a = {}
i = 0
while i < 4000:
    a[i * 3 % 4000] = i
    i = i + 1
i = 0
total = 0
while i < 4000:
    total = total + a[i]
    i = i + 1
print(total)
