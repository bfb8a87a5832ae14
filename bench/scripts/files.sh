i=0
while [ "$i" -lt 100000 ]; do
  echo "line $i"
  i=$((i + 1))
done >bench-lines.txt
total=0
while IFS= read -r line; do
  total=$((total + ${#line}))
done <bench-lines.txt
echo "$total"
