i=0
while [ "$i" -lt 4000 ]; do
  eval "a_$((i * 3 % 4000))=$i"
  i=$((i + 1))
done
i=0
sum=0
while [ "$i" -lt 4000 ]; do
  eval "v=\$a_$i"
  sum=$((sum + v))
  i=$((i + 1))
done
echo "$sum"
