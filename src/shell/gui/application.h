#pragma once

#include <QApplication>

namespace vendaxo {

class Prompts;

// Shows anything thrown while handling an event in the error box and goes on,
// so a failed command is abandoned without ending the program.
class Application final : public QApplication {
public:
    Application(int& argc, char** argv);
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Prompts* m_prompts = nullptr;
};

} // namespace vendaxo
