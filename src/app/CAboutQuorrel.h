#pragma once

#include <QDialog>

#include "app/AboutContent.h"

class QLabel;

namespace quorrel {

struct ScreenContext;

// The about box: program name and version, and the versions and serial number the receiver
// reports, asked once (on the receiver worker) while the box opens. It closes with the title
// bar's button or Escape.
class CAboutQuorrel : public QDialog {
    Q_OBJECT
public:
    explicit CAboutQuorrel(const ScreenContext& context, QWidget* parent = nullptr);

    const AboutContent& content() const { return m_content; }

private:
    QLabel* addLabel(int x, int y, int width, const QString& text);

    AboutContent m_content;
};

}  // namespace quorrel
