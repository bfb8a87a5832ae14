' Fill 4,000 array elements 50 times over in nested loops (200,000 writes), each index
' computed from both loop variables, then read them back the same way and add them up.
$j = 0
Cmp ($j < 50)
  $k = 0
  Cmp ($k < 4000)
    $a[($j * 37 + $k) % 4000] = $j + $k
    $k = $k + 1
  Loop
  $j = $j + 1
Loop
$sum = 0
$j = 0
Cmp ($j < 50)
  $k = 0
  Cmp ($k < 4000)
    $sum = $sum + $a[($j * 37 + $k) % 4000]
    $k = $k + 1
  Loop
  $j = $j + 1
Loop
~Dos.Print($sum "\x0a")
