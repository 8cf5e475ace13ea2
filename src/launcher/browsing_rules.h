#pragma once
// The launcher's fixed rules, as plain functions: where a title's files are, how tall
// the title list is, when the markers show.

#include <string>
#include <string_view>

// "soft\" + category + "\" + folder, as written: no trimming, no case change.
std::string TitlePath(std::string_view category, std::string_view folder);

// 20 × items + 2 pixels, never taller than 394 (20 items or more).
int TitleListHeight(int itemCount);

// The marker above the title list: more than 20 titles.
inline bool TitleListMarkerShown(int itemCount) { return itemCount > 20; }
// The marker above the category list: 22 catalogue lines or more.
inline bool CategoryMarkerShown(int catalogueLines) { return catalogueLines > 21; }
// The marker above the description's scroll bar: a description 126 pixels tall or more.
inline bool DescriptionMarkerShown(int descriptionHeight) { return descriptionHeight > 125; }

// Centres a length on the screen, dividing toward zero (a deficit of one gives 0).
inline int CentredPosition(int screenLength, int windowLength) { return (screenLength - windowLength) / 2; }

inline constexpr char ThumbnailFileName[] = "Resize of photo.jpg";
inline constexpr char ScreenshotFileName[] = "photo.jpg";
// The publisher's web address the link image opens (a bare host name).
inline constexpr char PublisherAddress[] = "vitrina.example.org";
