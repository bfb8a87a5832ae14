local s = ""
local i = 0
local total = 0
while i < 100000 do
  s = s .. "ab"
  if #s > 40 then s = string.sub(s, 3, 22) end
  local t = (string.gsub(s, "ab", "x"))
  total = total + #t
  i = i + 1
end
print(total)
