// The artwork stored inside the program: looked up by name, decoded on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/ImageButton.h"
#include "ui/ImageList.h"
#include "ui/ScaledPicture.h"
#include "ui/Surface.h"

namespace zv::app {

// The large opaque pictures of a list in three bytes a pixel (ui::Compact).
void CompactLargePictures(ui::ImageList& list);

// The embedded theme files of the built-in skins' lists, list1 to list5.
inline constexpr const char* kSkinListResources[5] = {"skins/list1.zvt", "skins/list2.zvt", "skins/List3.zvt",
                                                      "skins/List4.zvt", "skins/list5.zvt"};

// A built-in skin's list without its background, "ready/skins/<list>.zvt", when the build made the background
// ready for drawing at 1x to 2x (ReadyBackground); else empty. At 2x the list is "s2/ready/skins/<list>.zvt".
std::string ReadyListResource(const std::string& resource);
// That background at a scale in quarters (1x to 2x), read where it lies in the program; null when there is none.
std::shared_ptr<const ui::PackedPicture> ReadyBackground(const std::string& resource, int quarters);

// The bytes of an embedded file, empty when the build had none of that name.
std::span<const std::uint8_t> Resource(const std::string& name);
// An embedded BMP decoded into a 32-bit surface, or null.
ui::SurfacePtr ResourcePicture(const std::string& name);
// The pictures of an embedded theme file into a list, as view::LoadThemeBytes does (and throws); nothing when
// the build lacks the file.
void LoadResourceList(ui::ImageList& list, const std::string& name);
// The artwork drawn for a larger scale is stored beside the 1x one: "ui/<name>.bmp" and "skins/<list>.zvt" drawn
// for scale k (2 or 3) are the theme files "s<k>/ui/<name>.zvt" (one picture) and "s<k>/skins/<list>.zvt". Scale 4
// uses the 2x artwork with every pixel doubled.
std::string ScaledResourceName(const std::string& name, int scale);
// An embedded window picture drawn for a scale > 1, or null when the build has none.
ui::SurfacePtr DrawnResourcePicture(const std::string& name, int scale);
// An embedded window picture "ui/<name>.bmp" reduced for a fractional scale (quarters) to w x h when the program
// was built, or null: the main window's title and command buttons have one for each size they may have there.
ui::SurfacePtr ReadyPicture(const std::string& name, int quarters, int w, int h);
// The same pictures at a whole scale as drawn for it (at 4x, for 2x), over their bytes in the program: neither
// decoded nor copied. Null for the others.
ui::SurfacePtr ReadyDrawnPicture(const std::string& name, int scale);
// An embedded window picture with its artwork for every scale, each decoded when first needed (at a fractional
// scale and at 2x and 4x taken ready-made where there is one).
ui::ScaledPicture ScaledResourcePicture(const std::string& name);
// The pictures of an embedded list drawn for a scale; empty when the build has none for it. At 2x and 4x they
// are drawn from the list made ready when the program was built, where there is one.
std::vector<ui::SurfacePtr> ScaledListPictures(const std::string& resource, int scale);
// The same, always decoded from the list's theme file.
std::vector<ui::SurfacePtr> DecodedListPictures(const std::string& resource, int scale);
// A command button's word-free face "ui/<file>" (one of view::ButtonCaptions()), with its caption drawn over it
// in the player's language.
void UseCommandButtonArtwork(ui::ImageButton& button, const std::string& file);
// Lets the system drop every page of the embedded files that start-up brought in: each decoder lets go
// of its own file's pages, but the system maps the pages around a read one too.
void ReleaseResourcePages();

} // namespace zv::app
