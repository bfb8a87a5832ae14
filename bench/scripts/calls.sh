mix() { ret=$(( $1 * 2 + $2 )); }
i=0
acc=0
text="hello world"
while [ "$i" -lt 100000 ]; do
  mix "$i" 3
  acc=$ret
  part=$(printf '%s' "$text" | cut -c2-4)
  n=${#part}
  new=$(printf '%s' "$text" | tr o 0)
  i=$((i + 1))
done
echo "$acc $part $n $new"
