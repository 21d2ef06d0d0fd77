// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile.h"

#include <QLoggingCategory>
#include <QStringDecoder>

#include <cstdlib>
#include <memory>
#include <string>

#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>

Q_LOGGING_CATEGORY(lcWmf, "zonari.pictures.wmf")

namespace {

// The placeable header: a frame in metafile units and the units per inch.
struct PlaceableFrame {
    qint16 left = 0;
    qint16 top = 0;
    qint16 right = 0;
    qint16 bottom = 0;
    quint16 unitsPerInch = 0;
};

constexpr qsizetype FrameOffset = 6;
constexpr qsizetype UnitsPerInchOffset = 14;
constexpr qsizetype PlaceableHeaderBytes = 22;
constexpr qsizetype StandardHeaderBytes = 18;
constexpr U16 IsotropicMapMode = 7; // the two modes that scale by window and viewport
constexpr U16 AnisotropicMapMode = 8;

PlaceableFrame readPlaceableFrame(const QByteArray &data)
{
    PlaceableFrame frame;
    frame.left = fieldAt<qint16>(data, FrameOffset);
    frame.top = fieldAt<qint16>(data, FrameOffset + 2);
    frame.right = fieldAt<qint16>(data, FrameOffset + 4);
    frame.bottom = fieldAt<qint16>(data, FrameOffset + 6);
    frame.unitsPerInch = fieldAt<quint16>(data, UnitsPerInchOffset);
    return frame;
}

// The frame's length in HIMETRIC, rounded like the system's picture objects
// round it, then shown at the screen's resolution.
int frameLengthInPixels(int units, quint16 unitsPerInch, double dpi)
{
    const qint64 himetric = (qint64(std::abs(units)) * 2540 + unitsPerInch / 2) / unitsPerInch;
    return himetricToPixels(himetric, dpi);
}

// How the player maps metafile units to its device space while drawing:
// device = (logical - origin) * scale. libwmf keeps this in its device
// context, which every drawing call hands to the device layer.
struct DeviceMapping {
    double originX = 0;
    double originY = 0;
    double scaleX = 1;
    double scaleY = 1;

    static DeviceMapping of(const wmfDC &dc)
    {
        DeviceMapping m;
        m.originX = dc.Window.Ox;
        m.originY = dc.Window.Oy;
        m.scaleX = dc.pixel_width;
        m.scaleY = dc.pixel_height;
        // In the fixed mapping modes a negative window extent flips the axis
        // without changing the stored scale.
        const bool scaled = dc.map_mode == IsotropicMapMode || dc.map_mode == AnisotropicMapMode;
        if (!scaled && dc.Window.width < 0)
            m.scaleX = -m.scaleX;
        if (!scaled && dc.Window.height < 0)
            m.scaleY = -m.scaleY;
        return m;
    }

    wmfD_Rect map(const PlaceableFrame &f) const
    {
        const float x1 = float((f.left - originX) * scaleX);
        const float x2 = float((f.right - originX) * scaleX);
        const float y1 = float((f.top - originY) * scaleY);
        const float y2 = float((f.bottom - originY) * scaleY);
        return {{std::min(x1, x2), std::min(y1, y2)}, {std::max(x1, x2), std::max(y1, y2)}};
    }
};

// What one rendering needs while libwmf calls back into us: the SVG
// device's own functions, the mapping seen at the first drawing call, and
// the SVG text written so far.
struct WmfPlayback {
    wmfFunctionReference svgDevice{};
    bool mapped = false;
    DeviceMapping mapping;
    QByteArray svg;
    bool svgOverflow = false;

    void note(const wmfDC &dc)
    {
        if (!mapped) {
            mapping = DeviceMapping::of(dc);
            mapped = true;
        }
    }
};

WmfPlayback &playbackOf(wmfAPI *api)
{
    return *static_cast<WmfPlayback *>(api->user_data);
}

template <typename T> struct CallbackArgument;
template <typename Arg> struct CallbackArgument<void (*wmfFunctionReference::*)(wmfAPI *, Arg *)> {
    using type = Arg;
};

// Hands one drawing call on to the SVG device with the background mode set
// to opaque: the device writes every fill half transparent while the file
// asks for a transparent background, although that mode only concerns hatch
// gaps and text backgrounds, never the fill itself.
template <auto Slot> void forwardOpaque(wmfAPI *api, typename CallbackArgument<decltype(Slot)>::type *arg)
{
    WmfPlayback &playback = playbackOf(api);
    playback.note(*arg->dc);
    const U16 mode = arg->dc->bgmode;
    arg->dc->bgmode = OPAQUE;
    if (auto call = playback.svgDevice.*Slot)
        call(api, arg);
    arg->dc->bgmode = mode;
}

// The SVG device copies text into the document as it stands; escape it and
// make it UTF-8 first (metafile text is in an 8-bit code page).
void forwardText(wmfAPI *api, wmfDrawText_t *text)
{
    const QByteArray raw(text->str ? text->str : "");
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8.decode(raw);
    if (utf8.hasError())
        decoded = QString::fromLatin1(raw);
    std::string escaped = decoded.toHtmlEscaped().toStdString();

    char *original = text->str;
    text->str = escaped.data();
    forwardOpaque<&wmfFunctionReference::draw_text>(api, text);
    text->str = original;
}

template <auto Slot> void wrap(wmfFunctionReference &device)
{
    device.*Slot = &forwardOpaque<Slot>;
}

void routeThroughPlayback(wmfAPI *api, WmfPlayback &playback)
{
    auto &device = *static_cast<wmfFunctionReference *>(api->function_reference);
    playback.svgDevice = device;
    api->user_data = &playback;
    wrap<&wmfFunctionReference::flood_interior>(device);
    wrap<&wmfFunctionReference::flood_exterior>(device);
    wrap<&wmfFunctionReference::draw_pixel>(device);
    wrap<&wmfFunctionReference::draw_pie>(device);
    wrap<&wmfFunctionReference::draw_chord>(device);
    wrap<&wmfFunctionReference::draw_arc>(device);
    wrap<&wmfFunctionReference::draw_ellipse>(device);
    wrap<&wmfFunctionReference::draw_line>(device);
    wrap<&wmfFunctionReference::poly_line>(device);
    wrap<&wmfFunctionReference::draw_polygon>(device);
    wrap<&wmfFunctionReference::draw_polypolygon>(device);
    wrap<&wmfFunctionReference::draw_rectangle>(device);
    wrap<&wmfFunctionReference::rop_draw>(device);
    wrap<&wmfFunctionReference::bmp_draw>(device);
    wrap<&wmfFunctionReference::region_frame>(device);
    wrap<&wmfFunctionReference::region_paint>(device);
    wrap<&wmfFunctionReference::region_clip>(device);
    device.draw_text = &forwardText;
}

int appendSvg(char *text, void *context)
{
    auto &playback = *static_cast<WmfPlayback *>(context);
    const qsizetype length = qstrlen(text);
    if (playback.svg.size() + length > MaxSvgBytes) {
        playback.svgOverflow = true;
        return EOF;
    }
    playback.svg.append(text, length);
    return 0;
}

int restartSvg(void *context)
{
    static_cast<WmfPlayback *>(context)->svg.clear();
    return 0;
}

struct WmfApiDeleter {
    void operator()(wmfAPI *api) const { wmf_api_destroy(api); }
};
using WmfApi = std::unique_ptr<wmfAPI, WmfApiDeleter>;

WmfApi createSvgApi()
{
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI *raw = nullptr;
    const wmf_error_t err = wmf_api_create(&raw, flags, &options);
    WmfApi api(raw);
    if (err != wmf_E_None) {
        // Its usual cause: no fonts for libwmf (the fonts-urw-base35 package).
        qCWarning(lcWmf) << "libwmf could not start, error" << int(err);
        return nullptr;
    }
    return api;
}

} // namespace

DecodedPicture renderWmf(const QByteArray &data, ScreenResolution screen, QColor background)
{
    if (data.size() < PlaceableHeaderBytes + StandardHeaderBytes)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    const PlaceableFrame frame = readPlaceableFrame(data);
    if (frame.unitsPerInch == 0 || frame.right == frame.left || frame.bottom == frame.top)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    const QSize size(std::max(1, frameLengthInPixels(frame.right - frame.left, frame.unitsPerInch, screen.dpiX)),
                     std::max(1, frameLengthInPixels(frame.bottom - frame.top, frame.unitsPerInch, screen.dpiY)));
    if (!fitsPictureLimits(size))
        return DecodedPicture::failed(DecodeFailure::TooLarge);

    QByteArray bytes = data; // libwmf reads through a non-const pointer
    bytes.detach();
    WmfPlayback playback;
    WmfApi api = createSvgApi();
    if (!api)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    wmfD_Rect inkBox;
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char *>(bytes.data()), long(bytes.size())) != wmf_E_None
        || wmf_scan(api.get(), 0, &inkBox) != wmf_E_None)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);

    // The SVG device fits the drawing's ink box, not the picture's frame.
    // A first silent play shows how the file maps its units to the device;
    // the second writes the SVG with the frame as its bounding box.
    routeThroughPlayback(api.get(), playback);
    wmf_svg_t *svgDevice = WMF_SVG_GetData(api.get());
    svgDevice->out = nullptr;
    if (wmf_play(api.get(), 0, &inkBox) != wmf_E_None)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    if (!playback.mapped) {
        return blankPicture(size, background); // nothing is drawn
    }
    const wmfD_Rect frameBox = playback.mapping.map(frame);
    if (!(frameBox.BR.x > frameBox.TL.x) || !(frameBox.BR.y > frameBox.TL.y))
        return DecodedPicture::failed(DecodeFailure::NotAPicture);

    wmfStream stream{&playback, &appendSvg, &restartSvg};
    svgDevice->out = &stream;
    svgDevice->bbox = frameBox;
    svgDevice->width = unsigned(size.width());
    svgDevice->height = unsigned(size.height());
    svgDevice->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(api.get(), 0, &inkBox);
    svgDevice->out = nullptr;
    if (playback.svgOverflow)
        return DecodedPicture::failed(DecodeFailure::TooLarge);
    if (played != wmf_E_None)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    api.reset();

    return renderSvg(playback.svg, QRectF(0, 0, size.width(), size.height()), size, background);
}
