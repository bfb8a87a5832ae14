BEGIN {
  for (i = 0; i < 4000; i++) a[i * 3 % 4000] = i
  sum = 0
  for (i = 0; i < 4000; i++) sum += a[i]
  print sum
}
