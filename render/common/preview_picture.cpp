#include "render/common/preview_picture.h"

#include "render/raster/screen_picture.h"

ScreenPicture* PreviewPicture = nullptr;
