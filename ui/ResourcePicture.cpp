#include "ui/ResourcePicture.h"

#include "ui/DibDraw.h"
#include "picture/PictureFactory.h"

namespace {

wxImage ResourceImage(unsigned id, int size) {
  const std::unique_ptr<CDib> picture = LoadPictureResource(id);
  if (!picture || !picture->GetBitmap()) return wxImage();
  wxImage image = DibToImage(*picture->GetBitmap());
  if (size > 0 && (image.GetWidth() != size || image.GetHeight() != size))
    image = ScaleNearest(image, wxRect(image.GetSize()), wxSize(size, size));
  return image;
}

}  // namespace

wxBitmap LoadBitmapResource(unsigned id, int size) {
  wxImage image = ResourceImage(id, size);
  return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxIcon LoadIconResource(unsigned id, int size) {
  wxImage image = ResourceImage(id, size);
  if (!image.IsOk()) return wxIcon();
  image.SetMaskColour(255, 0, 255);
  wxIcon icon;
  icon.CopyFromBitmap(wxBitmap(image));
  return icon;
}
