#pragma once
// A skin kept inside a form: the description lines it was imported with and its
// pictures. The form stores the pictures as one binary value ("Pictures"): three
// frame pictures, each behind a one-byte empty flag, a signed 32-bit count and that
// many BMP files back to back. A skin data component loads from it.

#include "toolkit/component.h"
#include "toolkit/strings.h"

#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TIniTable;
class TStream;

class TbsStoredSkin : public TComponent {
public:
    explicit TbsStoredSkin(TComponent* owner);
    ~TbsStoredSkin() override;
    const char* ClassName() const override { return "TbsStoredSkin"; }

    // The bare name of the description file the skin came from; only informative.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }

    TStringList& IniStrings() { return FIniStrings; }
    const TStringList& IniStrings() const { return FIniStrings; }
    void SetIniStrings(const TStrings& lines) { FIniStrings.Assign(lines); }

    TBitmap& Picture() { return *FPicture; }
    TBitmap& InactivePicture() { return *FInactivePicture; }
    TBitmap& Mask() { return *FMask; }
    const TBitmap& Picture() const { return *FPicture; }
    const TBitmap& InactivePicture() const { return *FInactivePicture; }
    const TBitmap& Mask() const { return *FMask; }
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;

    // The "Pictures" value. Reading replaces the active pictures; a count below 1
    // leaves none. Data that ends early or is not a BMP file raises EInvalidGraphic.
    // All pictures of one value together stay within the decoders' pixel limit.
    void ReadPictures(TStream& stream);
    // Raises EInvalidGraphicOperation for an empty active picture, which has no BMP form.
    void WritePictures(TStream& stream) const;

    // Takes the description at fileName and the pictures its "PICTURES" section names
    // from the same folder. A picture file that cannot be opened raises its file error.
    void ImportFromFile(const std::string& fileName);

private:
    std::string FFileName;
    TStringList FIniStrings;
    std::unique_ptr<TBitmap> FPicture, FInactivePicture, FMask;
};

// The picture files a description's "PICTURES" section names. The active list ends
// at the first missing or empty name, which is kept: importing it fails there.
struct TbsSkinPictureNames {
    std::string Picture, InactivePicture, Mask;
    std::vector<std::string> ActivePictures;
};
TbsSkinPictureNames ReadSkinPictureNames(const TIniTable& ini);

// The folder part of a file name, with its trailing separator ("\", "/" or ":").
std::string SkinFolderOf(const std::string& fileName);
