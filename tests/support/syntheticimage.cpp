#include "syntheticimage.h"

#include "imaging/imageengine.h"
#include "support/paths.h"

#include <QFile>
#include <QStringList>

#include <vips/vips8>

namespace lumarc::test {

using vips::VError;
using vips::VImage;

Status writeSyntheticImage(const QString &path, const SyntheticImage &spec)
{
    imaging::initialise();
    try {
        const VImage x = VImage::xyz(spec.width, spec.height)[0];
        VImage image = (x < double(spec.width / 2))
                           .ifthenelse(std::vector<double>{255, 0, 0}, std::vector<double>{0, 0, 255});
        if (spec.noise > 0.0) {
            const VImage noise = VImage::gaussnoise(spec.width, spec.height,
                                                    VImage::option()->set("sigma", spec.noise)->set("mean", 0.0));
            image = (image.cast(VIPS_FORMAT_FLOAT) + noise).cast(VIPS_FORMAT_UCHAR);
        }
        image = image.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        if (spec.colour == SyntheticColour::Grey)
            image = image.colourspace(VIPS_INTERPRETATION_B_W);
        else if (spec.colour == SyntheticColour::Cmyk)
            image = image.colourspace(VIPS_INTERPRETATION_CMYK);
        if (spec.alpha)
            image = image.bandjoin_const({128.0});
        if (spec.sixteenBit) {
            const bool grey = spec.colour == SyntheticColour::Grey;
            image = (image.cast(VIPS_FORMAT_USHORT) * 257)
                        .cast(VIPS_FORMAT_USHORT)
                        .copy(VImage::option()->set("interpretation", grey ? VIPS_INTERPRETATION_GREY16
                                                                           : VIPS_INTERPRETATION_RGB16));
        }
        image = image.copy_memory();
        if (spec.orientation != 1)
            image.set(VIPS_META_ORIENTATION, spec.orientation);

        const QString extension = paths::extension(path).toLower();
        QStringList options;
        if (extension == QLatin1String("jpg") || extension == QLatin1String("webp"))
            options += QStringLiteral("Q=%1").arg(spec.quality);
        if (spec.interlaced && (extension == QLatin1String("jpg") || extension == QLatin1String("png")))
            options += QStringLiteral("interlace");
        QString suffix = QStringLiteral(".") + extension;
        if (!options.isEmpty())
            suffix += QLatin1Char('[') + options.join(QLatin1Char(',')) + QLatin1Char(']');
        vips::VTarget target = vips::VTarget::new_to_file(QFile::encodeName(path).constData());
        image.write_to_target(suffix.toLatin1().constData(), target);
    } catch (const VError &error) {
        const QString text = QString::fromUtf8(error.what()).trimmed();
        vips_error_clear();
        return Error{ErrorCode::Encode, path, QStringLiteral("write: ") + text};
    }
    return std::nullopt;
}

} // namespace lumarc::test
