// CCmdTarget: the root of every class with a message map (windows and the application).
#pragma once

#include "framework/MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Finds the first entry for this message in the class's map or its bases' maps and calls
    // it; false when no map has one.
    bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    static const ::fw::MessageMap* GetThisMessageMap();

protected:
    virtual const ::fw::MessageMap* GetMessageMap() const;
};
