def mix(a, b):
    return a * 2 + b

i = 0
acc = 0
text = "hello world"
while i < 100000:
    acc = mix(i, 3)
    part = text[1:4]
    n = len(part)
    new = text.replace("o", "0")
    i = i + 1
print(acc, part, n, new)
