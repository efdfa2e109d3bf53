#include "chart/ChartRequest.h"

namespace varrow {
ChartRequest::ChartRequest() {
    setName("某人");
    setPlace("未知");
    setQuestion("关心的事情。");
    setCastMethod("其它方式");
    setPrimaryLines("222131");
    setChangedLines("222121");
}

} // namespace varrow
