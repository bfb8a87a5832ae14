' Fill 4,000 array elements with computed indices, then read them back.
$i = 0
Cmp ($i < 4000)
  $k = $i * 3 % 4000
  $a[$k] = $i
  $i = $i + 1
Loop
$i = 0
$sum = 0
Cmp ($i < 4000)
  $sum = $sum + $a[$i]
  $i = $i + 1
Loop
~Dos.Print($sum "\x0a")
