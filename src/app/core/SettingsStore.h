#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "app/core/AppSettings.h"

namespace quorrel {

// The program's settings location: organization "Tavrenk", application `title`, group
// "Settings" (QSettings' native store). Every number is a 32-bit value ("DWORD"); a value
// that is missing or unreadable gives the caller's default. Writes that fail are ignored.
class SettingsStore {
public:
    static constexpr char kOrganization[] = "Tavrenk";
    static constexpr char kGroup[] = "Settings";

    explicit SettingsStore(QString applicationTitle);

    // Reads "NtripPort" … "NetworkProtocol" in the program's read order; the three connect
    // flags are never read, so they stay 0.
    AppSettings load() const;
    // Writes the record in the program's write order; "IsExternalGps" is never written.
    void save(const AppSettings& settings) const;
    // True only when "IsExternalGps" holds exactly 1.
    bool readIsExternalGps() const;

    std::optional<std::uint32_t> readDword(const QString& name) const;
    std::uint32_t readDword(const QString& name, std::uint32_t fallback) const;
    QString readString(const QString& name) const;
    void writeDword(const QString& name, std::uint32_t value) const;
    void writeString(const QString& name, const QString& value) const;

    const QString& applicationTitle() const { return m_title; }

    // The location the running program selected once the main menu is about to run; screens
    // keep their own values ("NMEAPortIndex", "SendPosToNet") there. Null before that.
    static void select(const QString& applicationTitle);
    static void deselect();
    static const SettingsStore* selected();

    // A screen's value: read with `fallback` when no location is selected or the value is
    // missing; written only while a location is selected.
    static std::uint32_t readScreenDword(const QString& name, std::uint32_t fallback);
    static void writeScreenDword(const QString& name, std::uint32_t value);

private:
    QString m_title;
};

}  // namespace quorrel
