function mix(a, b) { return a * 2 + b }
BEGIN {
  text = "hello world"
  for (i = 0; i < 100000; i++) {
    acc = mix(i, 3)
    part = substr(text, 2, 3)
    n = length(part)
    new = text; gsub(/o/, "0", new)
  }
  print acc " " part " " n " " new
}
