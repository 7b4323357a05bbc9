#include "match/strings.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace match {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by number.
constexpr Entry kStrings[] = {
    {5003, "对方要求清除死子，是否同意？"},
    {5004, "双方清除各自的死子!注意：要把所有的死子全点死，否则点目不对！"},
    {5005, "对方求和，您同意吗？"},
    {5006, "对方要求悔棋，您同意吗？"},
    {5007, "黑方目数：%d.%d"},
    {5008, "白方目数：%d.%d"},
    {5009, "等待设置"},
    {5010, "对局中"},
    {5011, "游戏结束"},
    {5012, "分先 "},
    {5013, "让先 让%d子 "},
    {5014, "贴%d目半"},
    {5015, "不贴目"},
    {5016, "%d秒  %d次"},
    {5017, "共用时：%d%d-%d%d-%d%d"},
    {5018, "开始游戏"},
    {5019, "Pass"},
    {5020, "求和"},
    {5021, "认输"},
    {5022, "悔棋"},
    {5023, "继续下棋"},
    {5024, "各自清除本方死子"},
    {5025, "大棋盘"},
    {5026, "研究棋谱"},
    {5027, "隐藏手数"},
    {5028, "小棋盘"},
    {5029, "加载存盘文件"},
    {5030, "存盘"},
    {5031, "裁判"},
    {5032, "截图"},
    {5033, "显示手数"},
    {5034, "抓点"},
    {5035, "设置断点"},
    {5036, "删除断点"},
    {5037, "刷新"},
    {5038, "撤消清除死子"},
    {5039, "写文件错误！"},
    {5040, "您真的要求和吗？"},
    {5041, "等待对方回应清除死子!"},
    {5042, "您已超时%d次，如果超时%d次，将会判负!"},
    {5043, "强制点目"},
    {5044, "第一手"},
    {5045, "上一手"},
    {5046, "下一手"},
    {5047, "最后一手"},
    {5048, "跳到手数"},
};


}  // namespace

std::string_view MatchString(int id) {
    const auto found = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                        [](const Entry& e, int key) { return e.id < key; });
    if (found == std::end(kStrings) || found->id != id) return {};
    return found->text;
}

std::string FormatString(int id, int first, int second) {
    const std::string format(MatchString(id));
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format.c_str(), first, second);
    if (n < 0) return {};
    return std::string(buffer, std::min<size_t>(static_cast<size_t>(n), sizeof buffer - 1));
}

}  // namespace match
