BEGIN {
  i = 0; sum = 0
  while (i < 1000000) { i = i + 1; sum = sum + i % 7 }
  print sum
}
