#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace cli
{

class Progress;

// The files a command writes, in order, each written atomically by its own action. The
// first failure stops the plan; the report names the file and the system's reason, and
// then what was written and what was not.
class OutputPlan
{
  public:
    // `group` joins consecutive files of one kind (the preview frames) into one entry of
    // the report.
    void add(const QString &path, std::function<void()> write, const QString &group = QString());
    bool empty() const { return outputs_.empty(); }

    // True when every file was written.
    bool writeAll(Progress &progress);

  private:
    struct Output {
        QString path;
        std::function<void()> write;
        QString group;
    };
    static QString describe(std::vector<Output>::const_iterator begin,
                            std::vector<Output>::const_iterator end);

    std::vector<Output> outputs_;
};

} // namespace cli
