#!/usr/bin/awk -f
# Sum the third field per key.
BEGIN { FS = ","; total = 0 }
$1 ~ /^[0-9]+$/ && NF > 2 {
    sum[$1] += $3; total += 1.5e2
    printf "%s: %d\n", $1, length($2)
}
END { for (k in sum) print k, sum[k]; print "total", total }
