// The key under which a source is found in the UPPER(DRAGER)+STR(CDNUMMER) orders.
#include "store/source_key.h"

#include <gtest/gtest.h>

TEST(SourceSeekKeyTest, PadsAndUpperCasesTheCarrierAndRightAlignsTheNumber) {
    EXPECT_EQ(SourceSeekKey("cd", 12), "CD                12");
    EXPECT_EQ(SourceSeekKey("LP        ", 999999999), "LP         999999999");
    EXPECT_EQ(SourceSeekKey("cassette10", 1).size(), 20u);
    EXPECT_EQ(SourceSeekKey(" mc ", " 7 "), "MC                 7");
    // Accented letters are upper-cased as the indexes do it.
    EXPECT_EQ(TableUpper("\xe9t\xe9"), "\xc9T\xc9");  // été in Windows-1252
}
