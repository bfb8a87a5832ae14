' Write 100,000 numbered lines to a file, then read them back and add up their lengths.
~File.Open("bench-lines.txt", "w")
$i = 0
Cmp ($i < 100000)
  ~File.Write("line " $i "\x0a")
  $i = $i + 1
Loop
~File.Close("w")
~File.Open("bench-lines.txt", "r")
$total = 0
$l = ~File.Read()
Cmp (~File.Eof() == 0)
  $total = $total + ~String.Len($l)
  $l = ~File.Read()
Loop
~File.Close("r")
~Dos.Print($total "\x0a")
