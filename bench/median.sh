# Sourced by the benchmarks: the median of the numbers on standard input, one per line (the mean
# of the middle two for an even count).
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
