i=0
sum=0
while [ "$i" -lt 1000000 ]; do
  i=$((i + 1))
  sum=$((sum + i % 7))
done
echo "$sum"
