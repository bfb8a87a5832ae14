local f = io.open("bench-lines.txt", "w")
local i = 0
while i < 100000 do
  f:write("line " .. i .. "\n")
  i = i + 1
end
f:close()
local total = 0
for line in io.lines("bench-lines.txt") do total = total + #line end
print(total)
