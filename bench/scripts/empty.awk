BEGIN { print 0 }
