#include "results/cfb_file.h"

#include "results/le_bytes.h"

namespace {

constexpr int CFB_SECTOR = 512;
constexpr int CFB_IDS_PER_SECTOR = CFB_SECTOR / 4;
constexpr int CFB_HEADER_DIFAT = 109;
constexpr quint32 CFB_DIFSECT = 0xFFFFFFFC;
constexpr quint32 CFB_FATSECT = 0xFFFFFFFD;
constexpr quint32 CFB_ENDOFCHAIN = 0xFFFFFFFE;
constexpr quint32 CFB_FREESECT = 0xFFFFFFFF;
constexpr quint32 CFB_NOSTREAM = 0xFFFFFFFF;

// The sectors in file order: FAT, DIFAT, the directory, the stream.
struct cfb_layout {
    quint32 fat_sectors = 0;
    quint32 difat_sectors = 0;
    quint32 data_sectors = 0;

    quint32 first_difat() const { return fat_sectors; }
    quint32 directory() const { return fat_sectors + difat_sectors; }
    quint32 first_data() const { return directory() + 1; }
    quint32 last_data() const { return first_data() + data_sectors - 1; }
    int file_size() const { return int(CFB_SECTOR * (1 + first_data() + data_sectors)); }
};

// The FAT maps its own sectors and the DIFAT's too, so both grow until the FAT covers all.
cfb_layout cfb_layout_make(int stream_size)
{
    cfb_layout layout;
    layout.data_sectors = quint32((stream_size + CFB_SECTOR - 1) / CFB_SECTOR);
    for (;;) {
        const quint32 fat = layout.fat_sectors;
        layout.difat_sectors = fat > CFB_HEADER_DIFAT ? (fat - CFB_HEADER_DIFAT + CFB_IDS_PER_SECTOR - 2)
                                                            / (CFB_IDS_PER_SECTOR - 1)
                                                      : 0;
        const quint32 sectors = fat + layout.difat_sectors + 1 + layout.data_sectors;
        const quint32 needed = (sectors + CFB_IDS_PER_SECTOR - 1) / CFB_IDS_PER_SECTOR;
        if (needed <= fat)
            return layout;
        layout.fat_sectors = needed;
    }
}

void cfb_header_write(QByteArray &f, const cfb_layout &layout)
{
    f.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    le_put_zeros(f, 16);          // class id
    le_put_u16(f, 0x003E);        // minor version
    le_put_u16(f, 0x0003);        // major version 3: 512-byte sectors
    le_put_u16(f, 0xFFFE);        // little-endian
    le_put_u16(f, 9);             // sector size 2^9
    le_put_u16(f, 6);             // mini sector size 2^6
    le_put_zeros(f, 6);
    le_put_u32(f, 0);             // directory sectors: not counted in version 3
    le_put_u32(f, layout.fat_sectors);
    le_put_u32(f, layout.directory());
    le_put_u32(f, 0);             // no transactions
    le_put_u32(f, CFB_MINI_STREAM_CUTOFF);
    le_put_u32(f, CFB_ENDOFCHAIN);   // no mini FAT
    le_put_u32(f, 0);
    le_put_u32(f, layout.difat_sectors ? layout.first_difat() : CFB_ENDOFCHAIN);
    le_put_u32(f, layout.difat_sectors);
    for (quint32 i = 0; i < quint32(CFB_HEADER_DIFAT); ++i)
        le_put_u32(f, i < layout.fat_sectors ? i : CFB_FREESECT);
    Q_ASSERT(f.size() == CFB_SECTOR);
}

void cfb_fat_write(QByteArray &f, const cfb_layout &layout)
{
    for (quint32 i = 0; i < layout.fat_sectors * CFB_IDS_PER_SECTOR; ++i) {
        if (i < layout.fat_sectors)
            le_put_u32(f, CFB_FATSECT);
        else if (i < layout.directory())
            le_put_u32(f, CFB_DIFSECT);
        else if (i == layout.directory() || i == layout.last_data())
            le_put_u32(f, CFB_ENDOFCHAIN);
        else if (i < layout.last_data())
            le_put_u32(f, i + 1);
        else
            le_put_u32(f, CFB_FREESECT);
    }
}

// Each DIFAT sector lists 127 more FAT sectors and ends with the next DIFAT sector.
void cfb_difat_write(QByteArray &f, const cfb_layout &layout)
{
    quint32 listed = CFB_HEADER_DIFAT;
    for (quint32 d = 0; d < layout.difat_sectors; ++d) {
        for (int i = 0; i < CFB_IDS_PER_SECTOR - 1; ++i, ++listed)
            le_put_u32(f, listed < layout.fat_sectors ? listed : CFB_FREESECT);
        le_put_u32(f, d + 1 < layout.difat_sectors ? layout.first_difat() + d + 1 : CFB_ENDOFCHAIN);
    }
}

void cfb_entry_write(QByteArray &f, const QString &name, quint8 type, quint32 child, quint32 start,
                     quint32 size)
{
    const int at = f.size();
    le_put_utf16(f, name.constData(), name.size());
    le_put_zeros(f, 64 - 2 * name.size());
    le_put_u16(f, name.isEmpty() ? 0 : unsigned(2 * (name.size() + 1)));   // with the 0 ending
    le_put_u8(f, type);
    le_put_u8(f, type == 0 ? 0 : 1);   // black: a tree of one node per level
    le_put_u32(f, CFB_NOSTREAM);       // left and right sibling
    le_put_u32(f, CFB_NOSTREAM);
    le_put_u32(f, child);
    le_put_zeros(f, 16 + 4 + 8 + 8);   // class id, state bits, creation and modification time
    le_put_u32(f, start);
    le_put_u32(f, size);
    le_put_u32(f, 0);
    Q_ASSERT(f.size() - at == 128);
    Q_UNUSED(at);
}

}   // namespace

void cfb_file_write(const QString &name, const QByteArray &stream, QByteArray *file)
{
    // A stream in ordinary sectors spares the file a mini stream and its mini FAT.
    Q_ASSERT(stream.size() >= CFB_MINI_STREAM_CUTOFF);
    Q_ASSERT(name.size() <= 31);
    const cfb_layout layout = cfb_layout_make(stream.size());
    QByteArray &f = *file;
    f.clear();
    f.reserve(layout.file_size());
    cfb_header_write(f, layout);
    cfb_fat_write(f, layout);
    cfb_difat_write(f, layout);
    cfb_entry_write(f, QStringLiteral("Root Entry"), 5, 1, CFB_ENDOFCHAIN, 0);
    cfb_entry_write(f, name, 2, CFB_NOSTREAM, layout.first_data(), quint32(stream.size()));
    cfb_entry_write(f, QString(), 0, CFB_NOSTREAM, 0, 0);
    cfb_entry_write(f, QString(), 0, CFB_NOSTREAM, 0, 0);
    f.append(stream);
    le_put_zeros(f, int(layout.data_sectors * CFB_SECTOR) - stream.size());
    Q_ASSERT(f.size() == layout.file_size());
}
