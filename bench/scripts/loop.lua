local i = 0
local sum = 0
while i < 1000000 do
  i = i + 1
  sum = sum + i % 7
end
print(sum)
