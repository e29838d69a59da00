// The start-up baseline: a bare Qt program showing a window with a 200-item
// tree, and nothing else. startup_process_bench launches it beside murmex.
#include <QApplication>
#include <QTreeWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTreeWidget tree;
    tree.setWindowTitle(QStringLiteral("bare tree"));
    for (int i = 0; i < 200; ++i)
        new QTreeWidgetItem(&tree, QStringList{QStringLiteral("Element %1").arg(i)});
    tree.resize(230, 520);
    tree.show();
    return QApplication::exec();
}
