#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "ui/kit/AppSettings.h"
#include "ui/kit/ScreenSettings.h"

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

private:
    QString m_title;
};

// The screens' own values in the program's settings location. The application hands one to
// the screens once it has selected that location (after a successful start-up), so screen
// values are never written on the early exits.
class StoredScreenSettings : public ScreenSettings {
public:
    explicit StoredScreenSettings(QString applicationTitle)
        : m_store(std::move(applicationTitle)) {}

    std::uint32_t readDword(const QString& name, std::uint32_t fallback) const override;
    void writeDword(const QString& name, std::uint32_t value) override;

private:
    SettingsStore m_store;
};

}  // namespace quorrel
