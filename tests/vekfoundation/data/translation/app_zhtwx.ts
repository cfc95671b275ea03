<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Login</name>
    <message>
        <source>Hello</source>
        <translation>不該載入</translation>
    </message>
</context>
</TS>
