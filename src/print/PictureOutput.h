#pragma once
// The stackup picture on paper and on the clipboard: Print Picture scales the
// picture as laid out on screen by a whole percentage onto one page under its
// title; Copy Picture draws it into a bitmap with two title lines above and
// the total thickness below.
#include "document/EditorDocument.h"
#include "picture/StackupPicture.h"
#include "platform/Printing.h"

namespace lm {

// The height the picture needs: its client height, or when it scrolls its
// whole content plus two text heights.
int32_t pictureSourceHeight(const StackupPicture& picture);

// The smaller of page width x 100 / client width and page height x 100 /
// (source height + two text heights), each rounded to the nearest integer.
int32_t picturePrintScale(Size page, int32_t clientWidth, int32_t sourceHeight, int32_t textHeight);

// The picture, laid out already, on the current page of `pages`.
void printPicture(PageSink& pages, StackupPicture& picture, const LMEDITSETTINGS& settings, const DesignInfo& design);

// Copy Picture's bitmap: the picture laid out for `client` on the bitmap's
// canvas; as wide as the client, as high as its source height plus three
// text heights.
class CopiedPicture : public Drawing {
public:
    CopiedPicture(StackupPicture& picture, Size client, const LMEDITSETTINGS& settings, const DesignInfo& design)
        : picture_(picture), client_(client), settings_(settings), design_(design)
    {
    }
    Size measure(Canvas& canvas) override;
    void draw(Canvas& canvas) override;

private:
    StackupPicture& picture_;
    Size client_;
    const LMEDITSETTINGS& settings_;
    const DesignInfo& design_;
    Size size_;
};

} // namespace lm
