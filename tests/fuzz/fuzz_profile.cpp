// A random profile file, then random writes, each followed by reads. Whatever the reader's rules make of the
// written value, every reader agrees on it: the parsed file, the stored bytes parsed again and the search for
// one key; a write adds at most one section and one key, so no text can add lines; every other key reads as
// before; and writing into the bytes alone gives the bytes of the whole-file writer.
#include "cp874.h"
#include "fuzz_support.h"
#include "profile_file.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace {
// Names that exercise the rules: letter case, blanks, brackets, Thai, the history's section shape.
const QStringList palette = {QStringLiteral("SERVER"), QStringLiteral("server"), QStringLiteral(" Server "),
                             QStringLiteral("a]b"),    QStringLiteral("u&P1&"),  QStringLiteral("ผู้ขาย"),
                             QStringLiteral("IP"),     QStringLiteral("Port"),   QStringLiteral("[x"),
                             QStringLiteral(""),       QStringLiteral("k\r\nj"), QStringLiteral("a  b")};

// A key name that, once written as "name=value", reads back as a key of that name; in doubt a name is left
// out.
bool isWritableKey(const QString &key)
{
    const QString trimmed = key.trimmed();
    return !key.contains(u'=') && !trimmed.startsWith(u'[') && !trimmed.startsWith(u';');
}

std::pair<std::size_t, qsizetype> counts(const ProfileFile &profile)
{
    qsizetype keys = 0;
    for (const ProfileFile::Section &section : profile.sections())
        keys += section.entries.size();
    return {profile.sections().size(), keys};
}

QString pickName(FuzzInput &input, const QStringList &fromFile)
{
    const uint8_t choice = input.byte();
    switch (choice % 3) {
    case 0:
        return palette[(choice / 3) % palette.size()];
    case 1:
        return fromFile.isEmpty() ? QString() : fromFile[(choice / 3) % fromFile.size()];
    default:
        return Cp874::decode(input.bytes());
    }
}

using Probe = std::pair<QString, QString>;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QByteArray original = input.longBytes().toByteArray();
    ProfileFile profile(original);

    std::vector<Probe> probes;
    QStringList sectionNames;
    QStringList keyNames;
    for (const ProfileFile::Section &section : profile.sections()) {
        sectionNames << section.name;
        for (const ProfileFile::KeyValue &entry : section.entries) {
            keyNames << entry.first;
            probes.emplace_back(section.name, entry.first);
            FUZZ_CHECK(ProfileFile::find(original, section.name, entry.first) ==
                       profile.value(section.name, entry.first));
        }
    }

    for (int writes = 0; writes < 64 && !input.atEnd(); ++writes) {
        const QString section = pickName(input, sectionNames);
        const QString key = pickName(input, keyNames);
        const QString value = Cp874::decode(input.byte() % 8 == 0 ? input.longBytes() : input.bytes());
        if (!isWritableKey(key))
            continue;

        std::vector<QString> before;
        for (const Probe &probe : probes)
            before.push_back(profile.value(probe.first, probe.second));

        const QByteArray previous = profile.toBytes();
        const auto [sectionsBefore, keysBefore] = counts(ProfileFile(previous));
        profile.setValue(section, key, value);
        const QByteArray stored = profile.toBytes();
        FUZZ_CHECK(ProfileFile::withValues(previous, section, {{key, value}}) == stored);
        const ProfileFile reread(stored);
        const auto [sectionsAfter, keysAfter] = counts(reread);
        FUZZ_CHECK(sectionsAfter - sectionsBefore <= 1 && keysAfter >= keysBefore &&
                   keysAfter - keysBefore <= 1);

        const QString readBack = profile.value(section, key);
        FUZZ_CHECK(readBack.size() <= ProfileFile::maxValueLength);
        FUZZ_CHECK(reread.value(section, key) == readBack);
        FUZZ_CHECK(ProfileFile::find(stored, section, key) == readBack);
        for (std::size_t i = 0; i < probes.size(); ++i) {
            const Probe &probe = probes[i];
            const QString now = profile.value(probe.first, probe.second);
            FUZZ_CHECK(now == before[i] || now == readBack);
            FUZZ_CHECK(reread.value(probe.first, probe.second) == now);
            FUZZ_CHECK(ProfileFile::find(stored, probe.first, probe.second) == now);
        }
        probes.emplace_back(section, key);
        sectionNames << section;
        keyNames << key;
    }
    return 0;
}
