' 100,000 calls of a two-parameter function, with three string functions a round.
Def: Mix($a, $b)
  Return $a * 2 + $b
End Def
$i = 0
$acc = 0
$text = "hello world"
Cmp ($i < 100000)
  $acc = ~Mix($i, 3)
  $part = ~String.Mid($text, 2, 3)
  $n = ~String.Len($part)
  $new = ~String.Replace($text, "o", "0")
  $i = $i + 1
Loop
~Dos.Print($acc " " $part " " $n " " $new "\x0a")
