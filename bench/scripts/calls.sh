# The same work in POSIX shell, with no command started per round: the text
# functions are parameter expansions (a replace walks the text a character at a time).
mix() { ret=$(( $1 * 2 + $2 )); }
replace_o() {
  rest=$1 out=
  while [ -n "$rest" ]; do
    tail=${rest#?}
    c=${rest%"$tail"}
    [ "$c" = o ] && c=0
    out=$out$c
    rest=$tail
  done
}
i=0
acc=0
text="hello world"
while [ "$i" -lt 100000 ]; do
  mix "$i" 3
  acc=$ret
  after=${text#?}
  part=${after%"${after#???}"}
  n=${#part}
  replace_o "$text"
  new=$out
  i=$((i + 1))
done
echo "$acc $part $n $new"
