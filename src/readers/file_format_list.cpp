#include "readers/file_format_list.h"

#include <algorithm>
#include <cctype>

#include "core/text_basics.h"
#include "core/text_format.h"
#include "readers/registered_classes.h"
#include "resources/texts.h"

namespace lumivo {

Status TFileFormatList::AddFormat(std::string_view extension, std::string_view commonDescription,
                                  std::string_view ownDescription, std::uint8_t kinds,
                                  const ReaderClass& readerClass) {
  if (extension.empty()) return {};
  if (LookupExtension(extension) >= 0) return Error{FormatText(texts::kRegisterTwice, extension)};
  int classIndex = LookupClass(readerClass);
  if (classIndex < 0) {
    classes_.push_back({&readerClass, {}, 0});
    classIndex = static_cast<int>(classes_.size()) - 1;
  }
  TClassEntry& classEntry = classes_[static_cast<std::size_t>(classIndex)];
  if (!commonDescription.empty()) classEntry.description = commonDescription;
  ++classEntry.count;
  extensions_.push_back({std::string(extension), std::string(ownDescription), kinds, &readerClass});
  return {};
}

void TFileFormatList::RemoveFormat(std::string_view extension) {
  const int index = LookupExtension(extension);
  if (index < 0) return;
  const ReaderClass* readerClass = extensions_[static_cast<std::size_t>(index)].readerClass;
  extensions_.erase(extensions_.begin() + index);
  const int classIndex = LookupClass(*readerClass);
  if (classIndex >= 0 && --classes_[static_cast<std::size_t>(classIndex)].count == 0)
    classes_.erase(classes_.begin() + classIndex);
}

void TFileFormatList::RemoveFormat(const ReaderClass& readerClass) {
  std::erase_if(extensions_, [&](const TExtensionEntry& e) { return e.readerClass == &readerClass; });
  std::erase_if(classes_, [&](const TClassEntry& e) { return e.readerClass == &readerClass; });
}

int TFileFormatList::LookupExtension(std::string_view extension) const {
  for (std::size_t i = 0; i < extensions_.size(); ++i)
    if (SameIgnoringAsciiCase(extensions_[i].extension, extension)) return static_cast<int>(i);
  return -1;
}

int TFileFormatList::LookupClass(const ReaderClass& readerClass) const {
  for (std::size_t i = 0; i < classes_.size(); ++i)
    if (classes_[i].readerClass == &readerClass) return static_cast<int>(i);
  return -1;
}

std::string TFileFormatList::DescriptionOf(const TExtensionEntry& entry) const {
  if (!entry.description.empty()) return entry.description;
  const int classIndex = LookupClass(*entry.readerClass);
  return classIndex < 0 ? std::string() : classes_[static_cast<std::size_t>(classIndex)].description;
}

const ReaderClass* TFileFormatList::ReaderClassFromStream(std::istream& stream) const {
  for (const TClassEntry& entry : classes_) {
    if (!entry.readerClass->isReader || !entry.readerClass->acceptsContent) continue;
    if (entry.readerClass->acceptsContent(stream)) return entry.readerClass;
  }
  return nullptr;
}

Status RegisterProgramFormats(TFileFormatList& list) {
  struct Registration {
    std::string_view extension, common, own;
    std::uint8_t kinds;
    const ReaderClass& readerClass;
  };
  const Registration registrations[] = {
      {"bmp", "Windows bitmaps", "", 8, kBitmap},
      {"ico", "Windows icons", "", 8, kIcon},
      {"wmf", "Windows metafiles", "", 16, kMetafile},
      {"emf", "Windows metafiles", "Windows enhanced meta files", 16, kMetafile},
      {"jfif", "JPG images", "JFIF images", 8, kJPEGImage},
      {"jpg", "", "JPG images", 8, kJPEGImage},
      {"jpe", "", "JPE images", 8, kJPEGImage},
      {"jpeg", "", "JPEG images", 8, kJPEGImage},
      {"rle", "Windows bitmaps", "Run length encoded Windows bitmaps", 8, kBitmap},
      {"dib", "", "Device independant Windows bitmaps", 8, kBitmap},
      {"win", "Truevision images", "", 8, kTargaGraphic},
      {"vst", "", "", 8, kTargaGraphic},
      {"vda", "", "", 8, kTargaGraphic},
      {"tga", "", "", 8, kTargaGraphic},
      {"icb", "", "", 8, kTargaGraphic},
      {"tiff", "Tagged image file format images", "Macintosh TIFF images", 12, kTIFFGraphic},
      {"tif", "", "PC TIF images", 12, kTIFFGraphic},
      {"fax", "", "GFI fax images", 12, kTIFFGraphic},
      {"eps", "Encapsulated Postscript images", "", 8, kEPSGraphic},
      {"pcx", "ZSoft Paintbrush images", "", 8, kPCXGraphic},
      {"pcc", "", "", 8, kPCXGraphic},
      {"scr", "", "Word 5.x screen capture images", 8, kPCXGraphic},
      {"rpf", "Alias/Wavefront images", "", 8, kRLAGraphic},
      {"rla", "", "", 8, kRLAGraphic},
      {"sgi", "SGI images", "SGI true color images", 8, kSGIGraphic},
      {"rgba", "", "SGI true color images with alpha", 8, kSGIGraphic},
      {"rgb", "", "SGI true color images", 8, kSGIGraphic},
      {"bw", "", "SGI black/white images", 8, kSGIGraphic},
      {"psd", "Photoshop images", "", 10, kPSDGraphic},
      {"pdd", "", "", 10, kPSDGraphic},
      {"ppm", "Portable map images", "Portable pixel map images", 8, kPPMGraphic},
      {"pgm", "", "Portable gray map images", 8, kPPMGraphic},
      {"pbm", "", "Portable bitmap images", 8, kPPMGraphic},
      {"cel", "Autodesk images", "", 8, kAutodeskGraphic},
      {"pic", "Autodesk images", "", 8, kAutodeskGraphic},
      {"pcd", "Kodak Photo-CD images", "", 8, kPCDGraphic},
      {"gif", "CompuServe images", "", 13, kGIFGraphic},
      {"cut", "Dr. Halo images", "", 8, kCUTGraphic},
      {"psp", "Paintshop Pro images", "", 24, kPSPGraphic},
      {"png", "Portable network graphic images", "", 8, kPNGGraphic},
  };
  for (const Registration& r : registrations)
    if (Status added = list.AddFormat(r.extension, r.common, r.own, r.kinds, r.readerClass); !added) return added;
  return {};
}

const TFileFormatList& FileFormats() {
  static const TFileFormatList list = [] {
    TFileFormatList filled;
    (void)RegisterProgramFormats(filled);  // the fixed table registers every extension once
    return filled;
  }();
  return list;
}

}  // namespace lumivo
