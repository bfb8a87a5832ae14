local a = {}
local j = 0
while j < 50 do
  local k = 0
  while k < 4000 do
    a[(j * 37 + k) % 4000] = j + k
    k = k + 1
  end
  j = j + 1
end
local sum = 0
j = 0
while j < 50 do
  local k = 0
  while k < 4000 do
    sum = sum + a[(j * 37 + k) % 4000]
    k = k + 1
  end
  j = j + 1
end
print(sum)
