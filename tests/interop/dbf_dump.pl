#!/usr/bin/perl
# Reads a table with the independent XBase reader (DBF and FPT memos).
#   perl dbf_dump.pl TABLE
# Prints one line per record: the deleted flag, then every field as hex bytes ("-" when the
# reader gives no value), tab-separated.
use strict;
use warnings;
use XBase;

@ARGV == 1 or die "usage: $0 TABLE\n";
my $table = XBase->new($ARGV[0]);
if (!defined $table) {
    print STDERR "$ARGV[0]: ", XBase->errstr, "\n";
    exit 2;
}
binmode STDOUT;
for my $i (0 .. $table->last_record) {
    my @values = $table->get_record($i);
    if (!@values) {
        print STDERR "$ARGV[0]: record ", $i + 1, ": ", $table->errstr, "\n";
        exit 2;
    }
    print join("\t", map { defined $_ ? unpack('H*', $_) : '-' } @values), "\n";
}
