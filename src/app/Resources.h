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

// A large opaque picture kept in three bytes a pixel instead of four, in the byte order of the window's
// pixels, which SDL copies into the window as fast: a background at 2x is 3.4 MB instead of 4.5 MB.
// Smaller pictures, and pictures of other formats, are given back as they are.
ui::SurfacePtr Compact(ui::SurfacePtr picture);
void CompactLargePictures(ui::ImageList& list);

// The embedded theme files of the built-in skins' lists, list1 to list5.
inline constexpr const char* kSkinListResources[5] = {"skins/list1.zvt", "skins/list2.zvt", "skins/List3.zvt",
                                                      "skins/List4.zvt", "skins/list5.zvt"};

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
// An embedded window picture with its artwork for every scale, each decoded when first needed.
ui::ScaledPicture ScaledResourcePicture(const std::string& name);
// The pictures of an embedded list drawn for a scale; empty when the build has none for it.
std::vector<ui::SurfacePtr> ScaledListPictures(const std::string& resource, int scale);
// Starts decoding, on a second thread, what the main window's first frame above scale 1 will show: the
// pictures of its skin list for the whole scale at or above the one drawn, and its window pictures; at a
// fractional scale the background reduced, too. The program does this before it opens the display, which takes
// long and uses one processor. A picture asked for later waits for the thread and takes what it made; what it
// made for another scale or skin is never used. Nothing happens at scale 1.
void PrefetchArtwork(ui::Scale drawn, const std::string& listResource);
// The same for the scale and skin the main window will most likely start with: the player's scale and skin
// from the data directory, else the desktop's scale and the first skin.
void PrefetchFirstFrame(const std::string& dataDir, ui::Scale desktopScale);
// Waits for that thread (the program calls it before it ends).
void FinishPrefetch();
// A command button's word-free face "ui/<file>" (one of view::ButtonCaptions()), with its caption drawn over it
// in the player's language.
void UseCommandButtonArtwork(ui::ImageButton& button, const std::string& file);
// Lets the system drop every page of the embedded files that start-up brought in: each decoder lets go
// of its own file's pages, but the system maps the pages around a read one too.
void ReleaseResourcePages();

} // namespace zv::app
