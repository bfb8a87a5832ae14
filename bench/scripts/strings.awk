BEGIN {
  s = ""; total = 0
  for (i = 0; i < 100000; i++) {
    s = s "ab"
    if (length(s) > 40) s = substr(s, 3, 20)
    t = s; gsub(/ab/, "x", t)
    total += length(t)
  }
  print total
}
