// The volume label pack makes from a folder's name or --label.

#include "volume_label.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeLabel, SpellsNamesInLatinCapitals) {
    EXPECT_EQ(MakeVolumeLabel("Мой диск"), "MOJ_DISK");
    EXPECT_EQ(MakeVolumeLabel("Щука, ёж и Подъезд №5"), "SHCHUKA_JOZH_I_PODEZD_NO5") << "signs write nothing";
    EXPECT_EQ(MakeVolumeLabel("Їжак і ґанок, Ђак џеп"), "JIZHAK_I_GANOK_DJAK_DZEP");
    EXPECT_EQ(MakeVolumeLabel("Café Noël 2"), "CAFE_NOEL_2") << "marks dropped";
    EXPECT_EQ(MakeVolumeLabel("Cafe\u0301"), "CAFE") << "a combining mark is no gap";
}

TEST(VolumeLabel, KeepsWithinThirtyTwoWithoutStrayUnderscores) {
    EXPECT_EQ(MakeVolumeLabel("  --disc--  "), "DISC");
    EXPECT_EQ(MakeVolumeLabel("東京"), "VITRINA") << "nothing left";
    EXPECT_EQ(MakeVolumeLabel(""), "VITRINA");
    EXPECT_EQ(MakeVolumeLabel(std::string(31, 'a') + " b"), std::string(31, 'A'));
    EXPECT_EQ(MakeVolumeLabel(std::string(40, 'x')), std::string(32, 'X'));
}

} // namespace
