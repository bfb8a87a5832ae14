local function mix(a, b)
  return a * 2 + b
end
local i = 0
local acc, part, n, new = 0, "", 0, ""
local text = "hello world"
while i < 100000 do
  acc = mix(i, 3)
  part = string.sub(text, 2, 4)
  n = #part
  new = string.gsub(text, "o", "0")
  i = i + 1
end
print(acc .. " " .. part .. " " .. n .. " " .. new)
