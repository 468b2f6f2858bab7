#!/usr/bin/perl
# Walks one tag of a compound index with the independent XBase::Index reader.
#   perl cdx_walk.pl INDEX TAG C|N
# Prints "RECNO<TAB>KEY" per entry in index order; character keys as hex bytes (trailing blanks
# trimmed by the reader), numeric keys as the number it decoded.
use strict;
use warnings;
use XBase::Index;

@ARGV == 3 or die "usage: $0 INDEX TAG C|N\n";
my ($file, $tag, $type) = @ARGV;

my $index = XBase::Index->new($file, tag => $tag, type => $type);
if (!defined $index) {
    print STDERR "$file: ", XBase::Index->errstr, "\n";
    exit 2;
}
$index->prepare_select;
binmode STDOUT;
my $count = 0;
while (my ($key, $recno) = $index->fetch) {
    my $shown = $type eq 'C' ? unpack('H*', $key) : $key;
    print "$recno\t$shown\n";
    # A looping tree would never end; no table here has this many entries.
    die "$file: tag $tag: more entries than any test table holds\n" if ++$count > 10_000_000;
}
# fetch also stops on a damaged tree; the reader then leaves a message.
my $error = $index->errstr;
if (defined $error && $error ne '') {
    print STDERR "$file: $error\n";
    exit 2;
}
