#include "transformways.h"

TransformWays* TransformWays::instance() {
    static TransformWays* const holder = new TransformWays;
    return holder;
}

TransformWays::TransformWays() {
    qRegisterMetaType<TransformWays::TransformWaysEnum>("TransformWays::TransformWaysEnum");
}

bool TransformWays::setValue(const QString& name) {
    const int v = keyToValue(name);
    if (v < 0)
        return false;
    value.store(v);
    return true;
}
