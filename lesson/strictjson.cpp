#include "lesson/strictjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {

// Deeper than this, nothing in a lesson: the parser itself stops at 1024.
constexpr int kDeepest = 1024;

class Scanner {
  public:
    Scanner(const QByteArray& text, const QSet<QString>& whole) : text_(text), whole_(whole) {}

    QString run() {
        space();
        value(0);
        space();
        if (fault_.isEmpty() && at_ != text_.size()) fail("JSON の後に余分なデータがあります");
        return fault_;
    }

  private:
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool digit() const { return peek() >= '0' && peek() <= '9'; }
    void digits() {
        while (digit()) ++at_;
    }
    void space() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++at_;
    }
    void fail(const char* what) {
        if (fault_.isEmpty())
            fault_ = QStringLiteral("%1（%2 バイト目）。").arg(QString::fromUtf8(what)).arg(at_);
        at_ = text_.size();
    }

    void value(int depth) {
        if (depth > kDeepest) return fail("入れ子が深すぎます");
        const char c = peek();
        if (c == '{') return object(depth);
        if (c == '[') return array(depth);
        if (c == '"') return skipString();
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        for (const char* word : {"true", "false", "null"})
            if (QByteArrayView(text_).sliced(at_).startsWith(word)) {
                at_ += qsizetype(qstrlen(word));
                return;
            }
        fail("JSON として読めません");
    }

    void object(int depth) {
        ++at_;
        QSet<QString> keys;
        space();
        if (peek() == '}') {
            ++at_;
            return;
        }
        while (fault_.isEmpty()) {
            if (peek() != '"') return fail("JSON として読めません");
            const qsizetype start = at_;
            skipString();
            if (!fault_.isEmpty()) return;
            const QString key = keyAt(start);
            if (keys.contains(key)) {
                fault_ = QStringLiteral("「%1」が二度書かれています（%2 バイト目）。").arg(key).arg(start);
                at_ = text_.size();
                return;
            }
            keys.insert(key);
            space();
            if (peek() != ':') return fail("JSON として読めません");
            ++at_;
            space();
            const qsizetype valueStart = at_;
            value(depth + 1);
            if (fault_.isEmpty() && whole_.contains(key) && !wholeAt(valueStart)) {
                fault_ = QStringLiteral("「%1」が整数で書かれていません（%2 バイト目）。")
                             .arg(key)
                             .arg(valueStart);
                at_ = text_.size();
                return;
            }
            space();
            if (peek() == '}') {
                ++at_;
                return;
            }
            if (peek() != ',') return fail("JSON として読めません");
            ++at_;
            space();
        }
    }

    void array(int depth) {
        ++at_;
        space();
        if (peek() == ']') {
            ++at_;
            return;
        }
        while (fault_.isEmpty()) {
            value(depth + 1);
            space();
            if (peek() == ']') {
                ++at_;
                return;
            }
            if (peek() != ',') return fail("JSON として読めません");
            ++at_;
            space();
        }
    }

    // number = [ "-" ] ( "0" / digit1-9 *digit ) [ "." 1*digit ] [ ( "e" / "E" ) [ "+" / "-" ] 1*digit ]
    void number() {
        const qsizetype start = at_;
        if (peek() == '-') ++at_;
        if (peek() == '0') {
            ++at_;
        } else if (digit()) {
            digits();
        } else {
            at_ = start;
            return fail("数の書き方が JSON ではありません");
        }
        if (peek() == '.') {
            ++at_;
            if (!digit()) return failNumber(start);
            digits();
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') ++at_;
            if (!digit()) return failNumber(start);
            digits();
        }
        if (digit() || peek() == '.') failNumber(start);
    }
    void failNumber(qsizetype start) {
        at_ = start;
        fail("数の書き方が JSON ではありません");
    }

    void skipString() {
        for (++at_; at_ < text_.size(); ++at_) {
            const auto c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                ++at_;
                return;
            }
            if (c < 0x20) return fail("文字列の中に制御文字があります");
            if (c == '\\') ++at_;
        }
        fail("文字列が閉じていません");
    }

    // A number without a fraction or an exponent (anything else is left to the reader).
    bool wholeAt(qsizetype start) const {
        const char first = text_[start];
        if (first != '-' && (first < '0' || first > '9')) return true;
        for (qsizetype i = start; i < at_; ++i)
            if (text_[i] == '.' || text_[i] == 'e' || text_[i] == 'E') return false;
        return true;
    }

    // A key as the parser reads it, escapes and all: "a" and "\u0061" are one key.
    QString keyAt(qsizetype start) const {
        const QByteArray quoted = text_.sliced(start, at_ - start);
        if (!quoted.contains('\\')) return QString::fromUtf8(quoted.sliced(1, quoted.size() - 2));
        return QJsonDocument::fromJson("[" + quoted + "]").array().at(0).toString();
    }

    const QByteArray& text_;
    const QSet<QString>& whole_;
    qsizetype at_ = 0;
    QString fault_;
};

} // namespace

QString StrictJson::fault(const QByteArray& document, const QSet<QString>& whole) {
    return Scanner(document, whole).run();
}
