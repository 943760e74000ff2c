// A random profile file, then random writes, each followed by reads: the written value reads back as the
// reader rules give it (line breaks blanked, trimmed, one pair of quotes dropped, 4095 characters at most),
// every other key reads as before, the bytes the writer would store read back the same, whether parsed whole
// or searched for one key, and writing into the bytes alone gives the bytes of the whole-file writer.
#include "fuzz_support.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace {
// Names that exercise the rules: letter case, blanks, brackets, Thai, the history's section shape.
const QStringList palette = {QStringLiteral("SERVER"), QStringLiteral("server"), QStringLiteral(" Server "),
                             QStringLiteral("a]b"),    QStringLiteral("u&P1&"),  QStringLiteral("ผู้ขาย"),
                             QStringLiteral("IP"),     QStringLiteral("Port"),   QStringLiteral("[x"),
                             QStringLiteral(""),       QStringLiteral("k\r\nj"), QStringLiteral("a  b")};

// A key name that, once written as "name=value", reads back as a key of that name.
bool isWritableKey(const QString &key)
{
    const QString stored = profileStoredName(key);
    return !stored.contains(u'=') && !stored.startsWith(u'[') && !stored.startsWith(u';');
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
        profile.setValue(section, key, value);
        const QByteArray stored = profile.toBytes();
        FUZZ_CHECK(ProfileFile::withValues(previous, section, {{key, value}}) == stored);
        const ProfileFile reread(stored);

        FUZZ_CHECK(profile.value(section, key) == profileReadBack(value));
        FUZZ_CHECK(reread.value(section, key) == profileReadBack(value));
        FUZZ_CHECK(ProfileFile::find(stored, section, key) == profileReadBack(value));
        for (std::size_t i = 0; i < probes.size(); ++i) {
            const Probe &probe = probes[i];
            const bool written = profileIdentity(probe.first) == profileIdentity(section) &&
                                 profileIdentity(probe.second) == profileIdentity(key);
            if (!written)
                FUZZ_CHECK(profile.value(probe.first, probe.second) == before[i]);
            FUZZ_CHECK(reread.value(probe.first, probe.second) == profile.value(probe.first, probe.second));
            FUZZ_CHECK(ProfileFile::find(stored, probe.first, probe.second) ==
                       reread.value(probe.first, probe.second));
        }
        probes.emplace_back(section, key);
        sectionNames << section;
        keyNames << key;
    }
    return 0;
}
