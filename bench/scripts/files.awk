BEGIN {
  file = "bench-lines.txt"
  for (i = 0; i < 100000; i++) print "line " i > file
  close(file)
  total = 0
  while ((getline line < file) > 0) total += length(line)
  print total
}
