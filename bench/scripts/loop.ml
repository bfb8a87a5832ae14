' 1,000,000 iterations: raise a counter, add its remainder by 7 to a sum.
$i = 0
$sum = 0
Cmp ($i < 1000000)
  $i = $i + 1
  $sum = $sum + $i % 7
Loop
~Dos.Print($sum "\x0a")
