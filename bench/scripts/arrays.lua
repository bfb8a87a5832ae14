local a = {}
local i = 0
while i < 4000 do
  a[i * 3 % 4000] = i
  i = i + 1
end
i = 0
local sum = 0
while i < 4000 do
  sum = sum + a[i]
  i = i + 1
end
print(sum)
