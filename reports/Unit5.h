#pragma once
// TForm5, the report form: holds the GC report QuickRep1 of one gas-chromatograph
// run. It is never shown itself; the report is previewed, printed or saved.

#include "archive/CategoryTree.h"
#include "reports/QuickReport.h"

namespace orvik::reports {

class TForm5 : public QObject {
    Q_OBJECT
public:
    static constexpr const char* caption = "GC Report";

    explicit TForm5(QObject* parent = nullptr);

    // The group node whose children supply the data, and the archive it comes
    // from; set before every preview. The tree must outlive the report's use.
    void setReportNode(const orvik::CategoryTree& tree, orvik::NodeId node, const QString& archiveFileName);
    orvik::NodeId reportNode() const { return reportNode_; }

    orvik::reports::QuickReport* QuickRep1 = nullptr;

private:
    void buildTitleBand();
    void buildDetailBand();
    void buildChildBand();
    void QuickRep1BeforePrint();
    void QuickRep1NeedData(bool& moreData);
    void setText(const char* control, const std::string& text);

    const orvik::CategoryTree* tree_ = nullptr;
    orvik::NodeId reportNode_ = orvik::noNode;
    QString archiveFileName_;
    bool recordDelivered_ = false;
};

} // namespace orvik::reports
