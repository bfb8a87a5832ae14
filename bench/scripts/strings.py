s = ""
i = 0
total = 0
while i < 100000:
    s = s + "ab"
    if len(s) > 40:
        s = s[2:22]
    t = s.replace("ab", "x")
    total = total + len(t)
    i = i + 1
print(total)
