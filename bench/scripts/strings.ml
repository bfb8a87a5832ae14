' 100,000 rounds: join two letters to a text, keep it short with a substring, and
' measure a replacement in it.
$s = ""
$i = 0
$total = 0
Cmp ($i < 100000)
  $s = $s "ab"
  Cmp (~String.Len($s) > 40)
    $s = ~String.Mid($s, 3, 20)
  End
  $t = ~String.Replace($s, "ab", "x")
  $total = $total + ~String.Len($t)
  $i = $i + 1
Loop
~Dos.Print($total "\x0a")
