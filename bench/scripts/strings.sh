# The replacement walks the text, as no POSIX expansion replaces inside a text.
replace_ab() {
  rest=$1 out=
  while [ -n "$rest" ]; do
    case $rest in
      ab*) out=${out}x; rest=${rest#ab} ;;
      *) out=$out${rest%"${rest#?}"}; rest=${rest#?} ;;
    esac
  done
}
s=
i=0
total=0
while [ "$i" -lt 100000 ]; do
  s=${s}ab
  if [ "${#s}" -gt 40 ]; then
    s=${s#??}
    s=${s%"${s#????????????????????}"}
  fi
  replace_ab "$s"
  total=$((total + ${#out}))
  i=$((i + 1))
done
echo "$total"
