#!/usr/bin/perl -w
use strict;
# count the words
my %count;
my @words = split /\s+/, $ARGV[0];
foreach my $w (@words) { $count{lc $w}++; }
print "Total: $#words\n", 'single', `date`, 0x1F, 2.5;
=pod

Documentation block.

=cut
sub done { return scalar(@_) + $Some::Package::var; }
