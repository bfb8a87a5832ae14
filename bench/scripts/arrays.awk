BEGIN {
  for (j = 0; j < 50; j++)
    for (k = 0; k < 4000; k++) a[(j * 37 + k) % 4000] = j + k
  sum = 0
  for (j = 0; j < 50; j++)
    for (k = 0; k < 4000; k++) sum += a[(j * 37 + k) % 4000]
  print sum
}
