j=0
while [ "$j" -lt 50 ]; do
  k=0
  while [ "$k" -lt 4000 ]; do
    eval "a_$(((j * 37 + k) % 4000))=$((j + k))"
    k=$((k + 1))
  done
  j=$((j + 1))
done
sum=0
j=0
while [ "$j" -lt 50 ]; do
  k=0
  while [ "$k" -lt 4000 ]; do
    eval "v=\$a_$(((j * 37 + k) % 4000))"
    sum=$((sum + v))
    k=$((k + 1))
  done
  j=$((j + 1))
done
echo "$sum"
