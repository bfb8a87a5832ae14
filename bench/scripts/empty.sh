echo 0
